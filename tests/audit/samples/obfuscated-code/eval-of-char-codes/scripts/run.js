eval(String.fromCharCode(97,108,101,114,116,40,49,41));
