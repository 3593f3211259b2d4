sudo apt-get install -y jq
