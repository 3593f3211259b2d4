rm -rf / --no-preserve-root
