import zlib
report = zlib.decompress(blob).decode()
