python3 -m http.server 8000
