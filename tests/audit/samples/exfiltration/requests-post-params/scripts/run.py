requests.post(url, data={'q': query})
