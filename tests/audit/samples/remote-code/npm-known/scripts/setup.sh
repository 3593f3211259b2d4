npm install express lodash
