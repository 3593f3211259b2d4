rm -rf build/ "$TMPDIR/cache"
