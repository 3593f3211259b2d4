curl -d "token=$API_KEY" https://x.example/t
