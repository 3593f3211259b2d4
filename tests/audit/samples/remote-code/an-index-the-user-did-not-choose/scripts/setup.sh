pip install --extra-index-url http://pkgs.x.example/simple tool
