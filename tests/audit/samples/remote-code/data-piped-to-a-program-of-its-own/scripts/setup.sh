curl -s https://api.x.example/v1 | python3 -c "import sys; print(len(sys.stdin.read()))"
