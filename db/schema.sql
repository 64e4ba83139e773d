-- The association's shared database: five tables and the program's account.
-- Re-runnable: the tables are dropped and created again (their rows go with them).
-- Texts are latin1, which the server maps to Windows-1252, the program's own character set.

SET NAMES utf8mb4;

CREATE DATABASE IF NOT EXISTS quendara CHARACTER SET latin1 COLLATE latin1_swedish_ci;
USE quendara;

DROP TABLE IF EXISTS dados;
DROP TABLE IF EXISTS clientes;
DROP TABLE IF EXISTS empresas;
DROP TABLE IF EXISTS grupos;
DROP TABLE IF EXISTS setores;

-- One row per customer. The column order is the order of the INSERE_CLIENTE command's values,
-- followed by the two dates the batch appends.
CREATE TABLE clientes (
  cnpj_cpf     VARCHAR(18) NOT NULL,
  nome         VARCHAR(60),
  endereco     VARCHAR(60),
  bairro       VARCHAR(40),
  cep          VARCHAR(10),
  cidade       VARCHAR(40),
  uf           VARCHAR(2),
  telefone     VARCHAR(20),
  fax          VARCHAR(20),
  email        VARCHAR(60),
  celular      VARCHAR(20),
  insc_rg      VARCHAR(20),
  data_cad     DATE,
  data_ult_atu DATE,
  PRIMARY KEY (cnpj_cpf)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

-- Facts reported per customer by a member. Rows arrive as whole statements from the members'
-- software; two reports of the same figures on the same day are both kept, so no unique key.
CREATE TABLE dados (
  cnpj_cpf           VARCHAR(18) NOT NULL,
  empresa            INT NOT NULL,
  data_mov           DATE NOT NULL,
  chp_dev            INT DEFAULT 0,
  chp_dev_vlr        DECIMAL(12,2) DEFAULT 0,
  cht_dev            INT DEFAULT 0,
  cht_dev_vlr        DECIMAL(12,2) DEFAULT 0,
  tit_em_ab          DECIMAL(12,2) DEFAULT 0,
  chp_acomp          DECIMAL(12,2) DEFAULT 0,
  cht_acomp          DECIMAL(12,2) DEFAULT 0,
  chq_dev_outros     INT DEFAULT 0,
  chq_dev_outros_vlr DECIMAL(12,2) DEFAULT 0,
  KEY dados_cliente (cnpj_cpf, data_mov),
  KEY dados_empresa (empresa)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

-- Member companies. ativo 'S' is an active member; setor 0 stands for all sectors.
CREATE TABLE empresas (
  numero INT NOT NULL,
  nome   VARCHAR(50),
  ativo  CHAR(1),
  grupo  INT,
  setor  INT,
  PRIMARY KEY (numero)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE grupos (
  numero INT NOT NULL,
  nome   VARCHAR(20),
  PRIMARY KEY (numero)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

CREATE TABLE setores (
  numero INT NOT NULL,
  nome   VARCHAR(40),
  PRIMARY KEY (numero)
) ENGINE=InnoDB DEFAULT CHARSET=latin1;

-- The program's account: it reads and writes rows, and creates or drops nothing.
-- Each statement of a data-update file runs in an XA transaction of its own (XA START, END, PREPARE and
-- COMMIT; after a lost link, XA COMMIT of a transaction prepared by the earlier session, and XA START,
-- END and ROLLBACK of the same id to learn whether it is still held). On MariaDB 10.11 these need no
-- right beyond the statement's own: the grants below are all. XA RECOVER needs none either here, but the
-- program does not use it. (On MySQL 8, XA RECOVER alone would need XA_RECOVER_ADMIN.)
CREATE USER IF NOT EXISTS 'orvalix'@'127.0.0.1' IDENTIFIED BY 'Qd7vRx2k';
CREATE USER IF NOT EXISTS 'orvalix'@'localhost' IDENTIFIED BY 'Qd7vRx2k';
ALTER USER 'orvalix'@'127.0.0.1' IDENTIFIED BY 'Qd7vRx2k';
ALTER USER 'orvalix'@'localhost' IDENTIFIED BY 'Qd7vRx2k';
REVOKE ALL PRIVILEGES, GRANT OPTION FROM 'orvalix'@'127.0.0.1', 'orvalix'@'localhost';
GRANT SELECT, INSERT, UPDATE, DELETE ON quendara.* TO 'orvalix'@'127.0.0.1', 'orvalix'@'localhost';
