cp ~/.aws/credentials /tmp/c
