rm -rf node_modules dist
