base64 --decode config.b64 > config.json && jq . config.json
