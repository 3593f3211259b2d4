chmod -R 755 ./public
