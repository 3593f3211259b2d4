curl -s https://api.x.example/v1 | python3 -m json.tool
