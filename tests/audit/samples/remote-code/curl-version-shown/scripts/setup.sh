echo "$(curl --version | head -1)"
