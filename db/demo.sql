-- A small demo data set, loaded after schema.sql. Member 000001 is the terminal that scripts/run
-- configures. Dates are relative to today, so the rows of the last 15 days stay recent.

SET NAMES utf8mb4;
USE quendara;

INSERT INTO grupos (numero, nome) VALUES
  (1, 'CENTRO'),
  (2, 'ZONA NORTE'),
  (3, 'LITORAL');

INSERT INTO setores (numero, nome) VALUES
  (1, 'SUPERMERCADOS'),
  (2, 'FARMÁCIAS'),
  (3, 'MATERIAIS DE CONSTRUÇÃO'),
  (4, 'VESTUÁRIO');

INSERT INTO empresas (numero, nome, ativo, grupo, setor) VALUES
  (1, 'MERCADO BOA VISTA LTDA', 'S', 1, 1),
  (2, 'FARMÁCIA SÃO JORGE', 'S', 1, 2),
  (3, 'SUPERMERCADO PRIMAVERA', 'S', 1, 1),
  (4, 'CASA DAS TINTAS ITAPUÃ', 'S', 2, 3),
  (5, 'MODAS ESTRELA', 'N', 1, 4),
  (6, 'ATACADO CENTRAL', 'S', 3, 0);

INSERT INTO clientes VALUES
  ('39053344705', 'JOSÉ CARLOS DA CONCEIÇÃO', 'RUA DAS ACÁCIAS, 118', 'JARDIM AMÉRICA', '74255-060',
   'GOIÂNIA', 'GO', '(62) 3241-7788', '', 'jose.conceicao@example.com', '(62) 98412-3390', '3124567',
   CURDATE() - INTERVAL 400 DAY, CURDATE() - INTERVAL 30 DAY),
  ('85351346893', 'MARIA APARECIDA D''ÁVILA', 'AV. BRASIL, 2050 AP 31', 'CENTRO', '13010-110',
   'CAMPINAS', 'SP', '(19) 3232-4410', '', 'maria.davila@example.com', '(19) 99177-2045', '28.431.550-6',
   CURDATE() - INTERVAL 200 DAY, CURDATE() - INTERVAL 12 DAY),
  ('07143228656', 'ANTÔNIO FERREIRA LIMA', 'RUA SÃO PAULO, 77', 'SAVASSI', '30140-070',
   'BELO HORIZONTE', 'MG', '(31) 3261-0099', '', 'aflima@example.com', '(31) 98830-1177', 'MG-12.345.678',
   CURDATE() - INTERVAL 90 DAY, CURDATE() - INTERVAL 90 DAY),
  ('46812070394', 'FRANCISCA HELENA SOUSA', 'TRAVESSA DO ROSÁRIO, 9', 'ALDEOTA', '60150-160',
   'FORTALEZA', 'CE', '(85) 3224-5561', '', '', '(85) 99702-3318', '2004009123456',
   CURDATE() - INTERVAL 60 DAY, CURDATE() - INTERVAL 5 DAY),
  ('45712983000127', 'CONSTRUTORA PEDRA ALTA LTDA', 'RODOVIA BR-101, KM 12', 'DISTRITO INDUSTRIAL', '88104-800',
   'SÃO JOSÉ', 'SC', '(48) 3381-2200', '(48) 3381-2201', 'financeiro@pedraalta.example.com', '', '254.118.907',
   CURDATE() - INTERVAL 700 DAY, CURDATE() - INTERVAL 3 DAY),
  ('09876543000141', 'PADARIA E CONFEITARIA TRIGO DOURADO ME', 'RUA XV DE NOVEMBRO, 431', 'CENTRO', '80020-310',
   'CURITIBA', 'PR', '(41) 3322-9090', '', 'contato@trigodourado.example.com', '(41) 99654-7120', '90312456-78',
   CURDATE() - INTERVAL 150 DAY, CURDATE() - INTERVAL 150 DAY);

-- Recent facts (inside the last 15 days) and older ones (outside it), from several members.
INSERT INTO dados (cnpj_cpf, empresa, data_mov, chp_dev, chp_dev_vlr, cht_dev, cht_dev_vlr, tit_em_ab,
                   chp_acomp, cht_acomp, chq_dev_outros, chq_dev_outros_vlr) VALUES
  ('39053344705', 1, CURDATE() - INTERVAL 2 DAY,  1,  150.00, 0,    0.00,    0.00,   0.00,   0.00, 0,   0.00),
  ('39053344705', 3, CURDATE() - INTERVAL 6 DAY,  2,  410.50, 1,  220.00,  385.90,   0.00,   0.00, 0,   0.00),
  ('39053344705', 2, CURDATE() - INTERVAL 10 DAY, 1,   89.90, 0,    0.00,    0.00, 120.00,   0.00, 1,  45.00),
  ('39053344705', 1, CURDATE() - INTERVAL 40 DAY, 3, 1200.00, 0,    0.00,    0.00,   0.00,   0.00, 0,   0.00),
  ('85351346893', 4, CURDATE() - INTERVAL 1 DAY,  1,  320.00, 0,    0.00, 1540.00,   0.00,   0.00, 0,   0.00),
  ('85351346893', 3, CURDATE() - INTERVAL 14 DAY, 0,    0.00, 2,  760.00,    0.00,   0.00, 300.00, 0,   0.00),
  ('45712983000127', 1, CURDATE(),                0,    0.00, 0,    0.00, 12500.00, 4300.00, 0.00, 0,   0.00),
  ('45712983000127', 6, CURDATE() - INTERVAL 7 DAY, 2, 8750.00, 1, 2300.00,   0.00,   0.00,   0.00, 2, 980.00),
  ('45712983000127', 5, CURDATE() - INTERVAL 20 DAY, 1, 640.00, 0,    0.00,    0.00,   0.00,   0.00, 0,   0.00),
  ('07143228656', 1, CURDATE() - INTERVAL 30 DAY, 1,  275.00, 0,    0.00,    0.00,   0.00,   0.00, 0,   0.00),
  ('07143228656', 3, CURDATE() - INTERVAL 16 DAY, 0,    0.00, 1,  180.00,    0.00,   0.00,   0.00, 0,   0.00),
  ('26483709196', 1, CURDATE() - INTERVAL 4 DAY,  1,  199.99, 0,    0.00,    0.00,   0.00,   0.00, 0,   0.00);
