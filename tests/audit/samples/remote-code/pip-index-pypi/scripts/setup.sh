pip install --index-url https://pypi.org/simple requests
