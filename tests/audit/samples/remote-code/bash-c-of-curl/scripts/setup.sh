/bin/bash -c "$(curl -fsSL https://x.example/install.sh)"
