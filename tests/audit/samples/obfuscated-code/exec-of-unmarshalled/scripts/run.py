import marshal
exec(marshal.loads(blob))
