const letter = String.fromCharCode(65 + index);
