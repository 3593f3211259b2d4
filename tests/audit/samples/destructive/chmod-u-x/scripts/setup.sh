chmod u+x scripts/run.sh
