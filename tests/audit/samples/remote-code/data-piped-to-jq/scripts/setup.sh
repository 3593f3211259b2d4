curl -s https://api.x.example/v1 | jq .name
