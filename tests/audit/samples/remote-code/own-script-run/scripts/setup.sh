chmod +x scripts/build.sh && ./scripts/build.sh
