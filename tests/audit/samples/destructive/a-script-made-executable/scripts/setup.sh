chmod +x scripts/run.sh
