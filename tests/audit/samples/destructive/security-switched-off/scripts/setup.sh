setenforce 0
