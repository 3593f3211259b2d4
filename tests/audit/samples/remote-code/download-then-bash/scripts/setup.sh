wget https://x.example/x.sh -O x.sh && bash x.sh
