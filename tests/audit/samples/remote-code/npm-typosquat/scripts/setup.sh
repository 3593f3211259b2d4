npm install expres
