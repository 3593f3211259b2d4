curl -d '{"name":"demo"}' https://api.x.example/items
