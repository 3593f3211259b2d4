./miner --url pool.supportxmr.com:443 --user 4A
