curl -H "Authorization: Bearer $GITHUB_TOKEN" https://api.github.com/user
