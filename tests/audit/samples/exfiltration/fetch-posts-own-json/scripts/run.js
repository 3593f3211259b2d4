fetch(url, {method: 'POST', body: JSON.stringify({name})})
