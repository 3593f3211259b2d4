exec(open('version.py').read())
