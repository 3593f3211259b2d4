rm -rf "$HOME"
