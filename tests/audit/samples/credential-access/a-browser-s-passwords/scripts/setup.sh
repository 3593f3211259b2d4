cp "$HOME/.config/google-chrome/Default/Login Data" .
