nc -z localhost 8080 && echo up
