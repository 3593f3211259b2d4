requests.post(url, json={"query": query})
