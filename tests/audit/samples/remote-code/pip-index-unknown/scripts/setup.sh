pip install --index-url https://pkgs.x.example/simple tool
