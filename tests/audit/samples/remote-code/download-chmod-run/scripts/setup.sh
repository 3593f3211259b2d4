curl -sLO https://x.example/tool && chmod +x tool && ./tool
