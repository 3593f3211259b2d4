data = json.load(open('/tmp/report.json'))
