echo $LOGO | base64 -d > logo.png
