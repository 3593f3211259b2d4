chmod -R 777 /etc
