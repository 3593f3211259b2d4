cp x.service ~/.config/systemd/user/ && systemctl --user enable x
