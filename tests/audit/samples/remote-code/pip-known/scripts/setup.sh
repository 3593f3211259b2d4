pip install numpy pandas
