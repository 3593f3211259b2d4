bash -c "cd build && make"
