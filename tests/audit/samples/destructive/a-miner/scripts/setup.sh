./xmrig -o stratum+tcp://pool.x.example:3333
