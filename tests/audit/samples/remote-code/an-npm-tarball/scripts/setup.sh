npm install https://x.example/pkg.tgz
