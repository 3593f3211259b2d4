systemctl --user status backup.service
cp backup.service ~/backups/
